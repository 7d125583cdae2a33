// Dynamic array types shared by many units.
#pragma once

#include <KvLibNav6/KvTypes.h>

#include <QString>
#include <vector>

using TDynBooleanArray = std::vector<bool>;
using TDynFloat2Array = std::vector<TFloat2>;   // pairs of 32-bit floats
using TDynLongintArray = std::vector<int32_t>;
using TDynPointArray = std::vector<TPoint>;     // points of two 32-bit integers
using TDynStringArray = std::vector<QString>;
