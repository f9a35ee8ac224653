#pragma once

class QWebEngineProfile;

namespace rankminer {

// Whether the embedded browser can run in this process: not when switched
// off by RANKMINER_NO_BROWSER=1, without a GUI application, without the
// browser's helper program, or as root with its sandbox still on (the helper
// would end the process).
bool browserAvailable();

// The embedded browser's profile, shared by every view; nullptr when the
// browser is not available.
QWebEngineProfile* browserProfile();

// Records that a page has been loaded, so there may be something cached.
void noteBrowserPageLoaded();

// Drops the browser's HTTP cache; cookies are kept. Does nothing without a
// browser or before its first page: there is nothing cached then, and
// clearing a browser that has not started can hold up its first requests.
void clearBrowserCache();

}  // namespace rankminer
