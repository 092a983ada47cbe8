// SPDX-FileCopyrightText: 2026 Zechwaage-Team
// SPDX-License-Identifier: GPL-3.0-or-later
// The walls the preview helper puts up around itself before it looks at a file: limits from the
// kernel on memory and processor time, no way to gain privileges, and a system call filter that
// leaves it reading what it holds, writing its answer, managing memory and threads, and ending.
#pragma once

#include <cstdint>

namespace zw {

struct TGrenzen {
    // Address space the picture may take beyond what the helper uses once it is ready.
    std::uint64_t speicherBytes = 0;
    // Processor time for the whole process, in seconds; past it the kernel ends it.
    unsigned cpuSekunden = 0;
};

// False when any wall could not be put up; the helper must then not look at the file.
bool SchliesseEin(const TGrenzen& grenzen);

// The address space in use now, in bytes; 0 when it cannot be read.
std::uint64_t Adressraum();

} // namespace zw
