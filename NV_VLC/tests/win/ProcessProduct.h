// The product installed once for a test program whose module keeps the engine it loaded to the
// end of the process (as the VLC module does in VLC): made by the first test that asks for it,
// removed when the program's tests are over, so that later programs find no product.
#pragma once

#include "testsupport/win/InstalledProduct.h"

InstalledProduct& ProcessProduct();
// The product if it was installed already, else null (nothing is installed).
InstalledProduct* ProcessProductIfMade();
