# Cross-compiles for 32-bit ARM Linux (Debian armhf) with Debian's cross compiler, against the
# armhf Qt installed beside the host's (multiarch: no sysroot). Qt's host tools (moc, rcc) are
# the host's. Programs run under qemu-arm, which finds the armhf dynamic loader and libraries at
# their multiarch places, so CTest runs every test through it without -L.
#   cmake -S . -B build-armhf -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-armhf.cmake
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR arm)
set(CMAKE_LIBRARY_ARCHITECTURE arm-linux-gnueabihf)
set(CMAKE_C_COMPILER arm-linux-gnueabihf-gcc)
set(CMAKE_CXX_COMPILER arm-linux-gnueabihf-g++)

# scripts/armhf.sh gives its own emulator command (qemu-arm behind scripts/without-pidfd.c).
if(NOT CMAKE_CROSSCOMPILING_EMULATOR)
    find_program(COMMON_QEMU_ARM qemu-arm)
    if(NOT COMMON_QEMU_ARM)
        message(FATAL_ERROR "qemu-arm not found (Debian package qemu-user)")
    endif()
    set(CMAKE_CROSSCOMPILING_EMULATOR ${COMMON_QEMU_ARM})
endif()
