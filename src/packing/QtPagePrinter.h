#pragma once

#include "session/PagePrinter.h"

#include <memory>

// The system's printer dialog; the printer chosen there, or nullptr when cancelled.
std::unique_ptr<PagePrinter> chooseSystemPagePrinter();
