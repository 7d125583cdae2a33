// Library text holders.
#pragma once

#include "KvTypes.h"

// A library string. Its {Length, Text} record is what the program reads; the library
// fills it. Created by StrWCreate, released by StrWDelete (or ObjectDelete).
class KVLIB_API IStrW : public NavObject {
public:
    // The text; Text is zero-terminated and stays valid until the string changes.
    virtual const TStrWRec *GetRec() const = 0;                                     // slot —
};

// A list of library strings, read with StrWListGetCount / StrWListGetStr.
// Created by StrWListCreate, released by ObjectDelete.
class KVLIB_API IStrWList : public NavObject {
};

KVLIB_API IStrW *StrWCreate(const char16_t *text, int32_t length);
KVLIB_API void StrWDelete(IStrW *s);
KVLIB_API IStrWList *StrWListCreate();
KVLIB_API int32_t StrWListGetCount(IStrWList *list);
// Entry owned by the list; nullptr for an index out of range.
KVLIB_API const TStrWRec *StrWListGetStr(IStrWList *list, int32_t index);

// Decoding of 8-bit text (code page 1252, 28591, 65001 = UTF-8, …) into UTF-16.
KVLIB_API int32_t MultiByteToUnicode_GetBufSize(const char *bytes, int32_t len, int32_t codePage);
KVLIB_API void MultiByteToUnicode(char16_t *dest, int32_t n, const char *bytes, int32_t len,
                                  int32_t codePage);
