// Finding an installed product: the folder "<support folder>\Novalume\<product name>" whose
// "Resources" subfolder holds the product information file "engine.txt".
//
// The support folders are tried in a fixed order of preference: on Windows the Program Files
// folder, the common program files folder, then the 32-bit Program Files folder; natively the
// folder kSupportFolderVariable names, the user's data folder ($XDG_DATA_HOME, else
// ~/.local/share), /usr/local/share and /usr/share. The first product folder found wins.
#pragma once

#include <cstdint>

#include "utility/NVFileSpec.h"
#include "utility/UtilStr.h"
#include "visualhost/engine/ProductInfo.h"

constexpr char kMakerFolderName[] = "Novalume";
// Natively, the environment variable that names the first support folder to search.
constexpr char kSupportFolderVariable[] = "NV_SUPPORT_FOLDER";

// 0 with the product folder set, or 55100 when no support folder holds the product (the folder
// is left empty then).
int32_t FindProductFolder(const UtilStr& productName, NVFileSpec& productFolder);
