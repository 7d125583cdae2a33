#include "KvLibNav6/KvLib.h"

NavObject::~NavObject() = default;

void ObjectDelete(NavObject *obj) {
    delete obj;
}
