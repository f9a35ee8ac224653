#pragma once

class QApplication;

namespace rankminer::testing {

// The one QApplication of the GUI test process, created on first use with the
// offscreen platform (and WebEngine's sandbox off when running as root).
QApplication& testApplication();

}  // namespace rankminer::testing
