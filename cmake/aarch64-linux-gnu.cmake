# SPDX-License-Identifier: GPL-3.0-or-later
# Cross-compiling for 64-bit ARM Linux with Debian's aarch64-linux-gnu cross-compiler against an
# arm64 root made from Debian's own arm64 packages (scripts/arm64-sysroot.sh), or, for the core
# alone, against the cross-compiler's own libraries. The host's Qt tools (moc, rcc, uic) do the
# generating; programs built here run under qemu-user.
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR aarch64)
set(CMAKE_C_COMPILER aarch64-linux-gnu-gcc)
set(CMAKE_CXX_COMPILER aarch64-linux-gnu-g++)

if(NOT TAVROLA_ARM64_SYSROOT)
    set(TAVROLA_ARM64_SYSROOT "$ENV{TAVROLA_ARM64_SYSROOT}")
endif()
# Try-compiles see the same root as the build.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES TAVROLA_ARM64_SYSROOT)
if(TAVROLA_ARM64_SYSROOT)
    if(NOT IS_DIRECTORY "${TAVROLA_ARM64_SYSROOT}/usr/lib/aarch64-linux-gnu")
        message(FATAL_ERROR "TAVROLA_ARM64_SYSROOT is no arm64 root (scripts/arm64-sysroot.sh makes one)")
    endif()
    set(CMAKE_SYSROOT "${TAVROLA_ARM64_SYSROOT}")
    set(_tavrola_target_root "${TAVROLA_ARM64_SYSROOT}")
else()
    # Without a root only the C and C++ libraries are there: enough for the core and its tests.
    set(_tavrola_target_root /usr/aarch64-linux-gnu)
endif()
set(CMAKE_FIND_ROOT_PATH "${_tavrola_target_root}")
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Qt's generators come from the host's Qt of the same version.
set(QT_HOST_PATH /usr)
set(QT_HOST_PATH_CMAKE_DIR /usr/lib/x86_64-linux-gnu/cmake)

# The target's root has no loader cache, so the loader is told where the libraries are; Qt under
# the emulator looks for its plugins (JPEG) only beside the program unless told where they are.
set(CMAKE_CROSSCOMPILING_EMULATOR qemu-aarch64-static -L "${_tavrola_target_root}"
    -E "LD_LIBRARY_PATH=/lib/aarch64-linux-gnu:/usr/lib/aarch64-linux-gnu"
    -E "QT_PLUGIN_PATH=/usr/lib/aarch64-linux-gnu/qt6/plugins")
