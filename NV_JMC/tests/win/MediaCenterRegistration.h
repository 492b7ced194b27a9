// The build tree's NV_JMC.dll registered in the test's Wine system the way an installer does
// it: through regsvr32, after the media center's probe key of the stand-in's version has been
// made. One environment per test program installs the product (the reference engine), makes
// the probe key and registers the control before the first test, and takes all of it away
// after the last.
#pragma once

#include <windows.h>

#include <string>

// Runs regsvr32 (silent) on the build tree's NV_JMC.dll; its exit code (-1: it did not end).
long Regsvr32(bool unregister);

// The probe and plug-in key names of a media center version, under HKEY_LOCAL_MACHINE.
std::string ProbeKey(int version);
std::string PluginKey(int version);
bool KeyExists(HKEY root, const std::string& key);
// Makes or removes (with everything under it) a key of HKEY_LOCAL_MACHINE.
void MakeKey(const std::string& key);
void RemoveKey(const std::string& key);
