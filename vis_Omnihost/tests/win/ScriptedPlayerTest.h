// The fixture of the scripted stand-in players' end-to-end tests (QCD, RealPlayer, XMPlay,
// iTunes, VirtualDJ): the reference engine installed as the product for each test, where a
// process of this width looks for it (RemoveEngine takes it away early), and runs of the
// fixture's program that must end with the code the test expects.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "players/shared/StandInMain.h"
#include "players/winamp/StandInCommand.h"
#include "testsupport/win/InstalledProduct.h"
#include "vis_Omnihost/tests/win/ScriptedPlayerRun.h"

template <const wchar_t* kProgram>
class ScriptedPlayerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    mProduct = std::make_unique<InstalledProduct>(InstalledProduct::Options{});
  }
  void TearDown() override { mProduct.reset(); }

  void RemoveEngine() { mProduct.reset(); }

  // Runs the steps; the run ended with the code (by default: after its steps, or its time).
  static ScriptedRun Run(const std::string& steps, const winamp_standin::StandInCommand& more = {},
                         long exitCode = standin::kExitNormal) {
    ScriptedRun run = RunScriptedPlayer(kProgram, steps, more);
    EXPECT_EQ(run.exitCode, exitCode) << steps;
    return run;
  }

 private:
  std::unique_ptr<InstalledProduct> mProduct;
};
