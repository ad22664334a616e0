# Every dependency is a Debian package (scripts/install-deps.sh installs them).
find_package(PkgConfig REQUIRED)
pkg_check_modules(GMP REQUIRED IMPORTED_TARGET gmp gmpxx)
pkg_check_modules(MPFR REQUIRED IMPORTED_TARGET mpfr)
pkg_check_modules(SYSTEMD REQUIRED IMPORTED_TARGET libsystemd)
find_package(Boost 1.74 REQUIRED COMPONENTS serialization regex)
find_package(Qt6 REQUIRED COMPONENTS Core Gui Widgets DBus Network)
find_package(Threads REQUIRED)
set(CMAKE_AUTOMOC ON)
