// How the plug-in names itself to every player: the product, its maker and the maker's site.
#pragma once

namespace omnihost {

constexpr char kProductName[] = "Glimmora";
constexpr wchar_t kProductNameW[] = L"Glimmora";
constexpr char kMakerName[] = "Novalume";
constexpr char kMakerAddress[] = "https://www.novalume.com/glimmora";

}  // namespace omnihost
