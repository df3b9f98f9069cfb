#include "warranty/GlobalState.h"

// Allocated once and never destroyed: the identification worker may still be running
// when the process ends, and must not meet a destroyed object.
#define LANTUO_GLOBAL_TEXT(name)             \
    PublishedText& name() {                  \
        static auto* value = new PublishedText; \
        return *value;                       \
    }

LANTUO_GLOBAL_TEXT(WarrantyUrl)
LANTUO_GLOBAL_TEXT(SerialNumber)
LANTUO_GLOBAL_TEXT(ModelName)
LANTUO_GLOBAL_TEXT(ProductNumber)
