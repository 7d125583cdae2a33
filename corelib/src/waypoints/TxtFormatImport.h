// Restoring one text-format profile from its JSON form (an element of the profile file's
// "profiles" array), as program data files carry them.
#pragma once

#include <QByteArray>
#include <cstdint>

class ITxtFormatProfileManager;

namespace kv::txt {

// Adds the profile to a manager made by this library, or with overwrite replaces the first
// user profile of the same name in its place (the built-in profile is never replaced and
// an imported profile never becomes the built-in one). KvErr::BadFormat for anything that
// is not one profile, KvErr::InvalidArgument for a foreign manager.
int32_t ImportProfileJson(ITxtFormatProfileManager *target, const QByteArray &json, bool overwrite);

}  // namespace kv::txt
