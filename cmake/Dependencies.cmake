# Outside libraries, all from Debian packages (see scripts/bootstrap).
find_package(PkgConfig REQUIRED)
find_package(CURL REQUIRED)
find_package(ZLIB REQUIRED)
find_package(ICU REQUIRED COMPONENTS uc)
find_package(Threads REQUIRED)
pkg_check_modules(PCRE2 REQUIRED IMPORTED_TARGET libpcre2-16)
pkg_check_modules(HTTPLIB REQUIRED IMPORTED_TARGET cpp-httplib)
