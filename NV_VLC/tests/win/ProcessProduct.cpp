#include "NV_VLC/tests/win/ProcessProduct.h"

#include <gtest/gtest.h>

namespace {

InstalledProduct* gProduct = nullptr;

class ProductRemoval : public ::testing::Environment {
 public:
  void TearDown() override {
    delete gProduct;
    gProduct = nullptr;
    // The engine library may still be loaded and stay behind; without its engine.txt the
    // product is not installed any more.
    InstalledProduct::Remove(InstalledProduct::Options{});
  }
};

[[maybe_unused]] ::testing::Environment* const kRemoval =
    ::testing::AddGlobalTestEnvironment(new ProductRemoval());

}  // namespace

InstalledProduct& ProcessProduct() {
  if (gProduct == nullptr) gProduct = new InstalledProduct(InstalledProduct::Options{});
  return *gProduct;
}

InstalledProduct* ProcessProductIfMade() { return gProduct; }
