#include "framework/HostObjects.h"

int NodeKindSlot(int kind)
{
    for (int i = 0; i < NODE_KIND_COUNT; ++i)
        if (NODE_KIND_SLOTS[i] == kind)
            return i;
    return -1;
}
