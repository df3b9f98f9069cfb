#pragma once
// The program's four global texts, alive for the whole process. The identification
// worker writes SerialNumber, ModelName and ProductNumber while the main thread may
// read them; WarrantyUrl is touched by the main thread alone.

#include "text/PublishedText.h"

PublishedText& WarrantyUrl();
PublishedText& SerialNumber();
PublishedText& ModelName();
PublishedText& ProductNumber();
