// The product this module visualizes with, and whether its engine is installed.
#pragma once

constexpr char kProductName[] = "Glimmora";

bool EngineInstalled();
