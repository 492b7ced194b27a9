// Finding an installed product: the folder "<support folder>\Novalume\<product name>" whose
// "Resources" subfolder holds the product information file "engine.txt".
//
// The support folders are tried in a fixed order of preference: the Program Files folder, the
// common program files folder, then the 32-bit Program Files folder. The first product folder
// found wins.
#pragma once

#include <cstdint>

#include "utility/NVFileSpec.h"
#include "utility/UtilStr.h"
#include "visualhost/engine/ProductInfo.h"

constexpr char kMakerFolderName[] = "Novalume";

// 0 with the product folder set, or 55100 when no support folder holds the product (the folder
// is left empty then). Windows only.
int32_t FindProductFolder(const UtilStr& productName, NVFileSpec& productFolder);
