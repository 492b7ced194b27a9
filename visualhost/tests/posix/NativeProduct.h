// An installed product for native tests: a support folder of the test's own, named by the
// native search's environment variable while the object lives, holding
//   Novalume/<product>/Resources/engine.txt
//   Novalume/<product>/<library file>   (a link to the engine library the test names)
// The folder and the variable go when the object does.
#pragma once

#include <string>

class NativeProduct {
 public:
  // engineTxt: the file's text; empty: a file whose LIB names the linked library.
  explicit NativeProduct(const std::string& enginePath, const std::string& engineTxt = "",
                         const std::string& product = "Glimmora");
  NativeProduct(const NativeProduct&) = delete;
  NativeProduct& operator=(const NativeProduct&) = delete;
  ~NativeProduct();

  const std::string& SupportFolder() const { return mSupport; }
  const std::string& ProductFolder() const { return mProduct; }
  // The name LIB gives the linked library.
  static constexpr char kLibraryName[] = "GlimmoraEngine.so";

 private:
  std::string mSupport;
  std::string mProduct;
};

// The native reference engine of this build tree.
std::string NativeReferenceEnginePath();
