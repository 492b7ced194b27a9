#include "vis_Omnihost/itunes/ItunesFullscreenRequest.h"

#include <gtest/gtest.h>

namespace {

using itunes::FullscreenRequest;

// What an attach uses, given what it detected, after a request made at 10000 ms (or none).
TEST(ItunesFullscreenRequest, AnAttachWithinThreeSecondsOfARequestKeepsTheStateAskedFor) {
  struct Case {
    const char* name;
    bool requested;  // a request was made, for `wish`
    bool wish;
    bool detected;
    int64_t now;
    bool used;
  } cases[] = {
      {"no request: what was detected", false, true, false, 10500, false},
      {"no request, detected fullscreen", false, false, true, 10500, true},
      {"fresh request for fullscreen", true, true, false, 12999, true},
      {"fresh request for a window", true, false, true, 10001, false},
      {"a request exactly 3 s old is forgotten", true, true, false, 13000, false},
      {"an old request is forgotten", true, true, false, 20000, false},
      {"a clock that went back counts the distance", true, true, false, 8000, true},
      {"far back", true, true, false, 6000, false},
      {"detection agrees with the request", true, true, true, 20000, true},
  };
  for (const Case& c : cases) {
    FullscreenRequest request;
    if (c.requested) request.Note(c.wish, 10000);
    EXPECT_EQ(request.Settle(c.detected, c.now), c.used) << c.name;
    // Settling ends the request and leaves the state used as the one asked for.
    EXPECT_FALSE(request.Pending()) << c.name;
    EXPECT_EQ(request.Requested(), c.used) << c.name;
    EXPECT_EQ(request.Settle(!c.used, c.now), !c.used) << c.name << ", second attach";
  }
}

}  // namespace
