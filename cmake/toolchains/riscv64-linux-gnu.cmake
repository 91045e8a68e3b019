# Cross build for 64-bit RISC-V Linux with Debian's g++-riscv64-linux-gnu; the programs run
# under qemu-riscv64.
set(orvane_cross_processor riscv64)
set(orvane_cross_triplet riscv64-linux-gnu)
set(orvane_cross_qemu riscv64)
include(${CMAKE_CURRENT_LIST_DIR}/debian-cross.cmake)
