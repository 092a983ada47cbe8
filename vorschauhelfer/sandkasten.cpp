// SPDX-FileCopyrightText: 2026 Zechwaage-Team
// SPDX-License-Identifier: GPL-3.0-or-later
#include "sandkasten.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sched.h>
#include <seccomp.h>
#include <sys/mman.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <unistd.h>

#include <memory>

namespace zw {

namespace {

struct SeccompFreigabe {
    void operator()(scmp_filter_ctx ctx) const { seccomp_release(ctx); }
};
using Filter = std::unique_ptr<void, SeccompFreigabe>;

bool Begrenze(int art, rlim_t weich, rlim_t hart)
{
    const rlimit grenze{weich, hart};
    return setrlimit(art, &grenze) == 0;
}

// A rule that cannot be added (a call this architecture does not have) leaves that call to the
// default, which refuses it: no failure here can open the filter, so none is checked.
void Erlaube(scmp_filter_ctx ctx, int aufruf) { seccomp_rule_add(ctx, SCMP_ACT_ALLOW, aufruf, 0); }

void ErlaubeWenn(scmp_filter_ctx ctx, int aufruf, unsigned argument, scmp_compare vergleich,
                 scmp_datum_t wert, scmp_datum_t maske = 0)
{
    // SCMP_CMP_MASKED_EQ: the argument masked with maske equals wert; libseccomp takes the mask
    // first.
    const scmp_arg_cmp bedingung = vergleich == SCMP_CMP_MASKED_EQ
                                       ? scmp_arg_cmp{argument, vergleich, maske, wert}
                                       : scmp_arg_cmp{argument, vergleich, wert, 0};
    seccomp_rule_add(ctx, SCMP_ACT_ALLOW, aufruf, 1, bedingung);
}

void Verweigere(scmp_filter_ctx ctx, int aufruf)
{
    seccomp_rule_add(ctx, SCMP_ACT_ERRNO(EACCES), aufruf, 0);
}

// Everything not named here fails with ENOSYS, which libraries take as "not on this kernel" and
// work around (glibc starts threads with clone when clone3 is missing), never as a reason to
// try again.
bool LadeFilter()
{
    const Filter filter(seccomp_init(SCMP_ACT_ERRNO(ENOSYS)));
    scmp_filter_ctx ctx = filter.get();
    if (ctx == nullptr)
        return false;
    // Threads started before the filter get it too.
    if (seccomp_attr_set(ctx, SCMP_FLTATR_CTL_TSYNC, 1) != 0)
        return false;
    // Reading the file handed over and the request, writing the answer.
    for (const int aufruf :
         {SCMP_SYS(read), SCMP_SYS(readv), SCMP_SYS(pread64), SCMP_SYS(preadv), SCMP_SYS(lseek),
          SCMP_SYS(write), SCMP_SYS(writev), SCMP_SYS(close), SCMP_SYS(fstat)})
        Erlaube(ctx, aufruf);
    // The request and the file come over the socket on standard input, and only there.
    ErlaubeWenn(ctx, SCMP_SYS(recvmsg), 0, SCMP_CMP_EQ, STDIN_FILENO);
    // fstat() is newfstatat() on an empty path; with a path it would look at names.
    ErlaubeWenn(ctx, SCMP_SYS(newfstatat), 3, SCMP_CMP_MASKED_EQ, AT_EMPTY_PATH, AT_EMPTY_PATH);
    ErlaubeWenn(ctx, SCMP_SYS(fcntl), 1, SCMP_CMP_EQ, F_GETFL);
    ErlaubeWenn(ctx, SCMP_SYS(fcntl), 1, SCMP_CMP_EQ, F_GETFD);
    // Memory, never executable: nothing a picture brings in can become code.
    ErlaubeWenn(ctx, SCMP_SYS(mmap), 2, SCMP_CMP_MASKED_EQ, 0, PROT_EXEC);
    ErlaubeWenn(ctx, SCMP_SYS(mprotect), 2, SCMP_CMP_MASKED_EQ, 0, PROT_EXEC);
    for (const int aufruf : {SCMP_SYS(munmap), SCMP_SYS(mremap), SCMP_SYS(madvise), SCMP_SYS(brk)})
        Erlaube(ctx, aufruf);
    // Threads (Qt scales large pictures on several) and what they wait with. A new thread must
    // share the process's memory and filter; clone3 passes its flags where a filter cannot look.
    ErlaubeWenn(ctx, SCMP_SYS(clone), 0, SCMP_CMP_MASKED_EQ, CLONE_THREAD, CLONE_THREAD);
    for (const int aufruf : {SCMP_SYS(futex),
                             SCMP_SYS(set_robust_list),
                             SCMP_SYS(rseq),
                             SCMP_SYS(sched_yield),
                             SCMP_SYS(sched_getaffinity),
                             SCMP_SYS(nanosleep),
                             SCMP_SYS(clock_nanosleep),
                             SCMP_SYS(clock_gettime),
                             SCMP_SYS(clock_getres),
                             SCMP_SYS(gettimeofday),
                             SCMP_SYS(getpid),
                             SCMP_SYS(gettid),
                             SCMP_SYS(getrandom),
                             SCMP_SYS(rt_sigaction),
                             SCMP_SYS(rt_sigprocmask),
                             SCMP_SYS(rt_sigreturn),
                             SCMP_SYS(sigaltstack),
                             SCMP_SYS(restart_syscall),
                             SCMP_SYS(exit),
                             SCMP_SYS(exit_group)})
        Erlaube(ctx, aufruf);
    // abort() signals its own process; no other.
    ErlaubeWenn(ctx, SCMP_SYS(tgkill), 0, SCMP_CMP_EQ, scmp_datum_t(getpid()));
    // No file, pipe, device or socket can be opened or made, and nothing started: the picture
    // sees only what it was handed.
    for (const int aufruf : {SCMP_SYS(open), SCMP_SYS(openat), SCMP_SYS(openat2), SCMP_SYS(creat),
                             SCMP_SYS(open_by_handle_at), SCMP_SYS(mknod), SCMP_SYS(mknodat),
                             SCMP_SYS(socket), SCMP_SYS(socketpair), SCMP_SYS(connect),
                             SCMP_SYS(execve), SCMP_SYS(execveat), SCMP_SYS(memfd_create)})
        Verweigere(ctx, aufruf);
    return seccomp_load(ctx) == 0;
}

} // namespace

std::uint64_t Adressraum()
{
    // The first field is the size of all mappings, in pages.
    std::FILE* datei = std::fopen("/proc/self/statm", "re");
    if (datei == nullptr)
        return 0;
    unsigned long long seiten = 0;
    const bool gelesen = std::fscanf(datei, "%llu", &seiten) == 1;
    std::fclose(datei);
    const long seite = sysconf(_SC_PAGESIZE);
    return gelesen && seite > 0 ? seiten * static_cast<std::uint64_t>(seite) : 0;
}

bool SchliesseEin(const TGrenzen& grenzen)
{
    const std::uint64_t belegt = Adressraum();
    if (belegt == 0)
        return false;
    const rlim_t speicher = belegt + grenzen.speicherBytes;
    // A crash leaves no core file with the picture's data in it.
    return Begrenze(RLIMIT_AS, speicher, speicher) &&
           Begrenze(RLIMIT_CPU, grenzen.cpuSekunden, grenzen.cpuSekunden + 1) &&
           Begrenze(RLIMIT_CORE, 0, 0) && Begrenze(RLIMIT_FSIZE, 0, 0) &&
           prctl(PR_SET_NO_NEW_PRIVS, 1, 0, 0, 0) == 0 && prctl(PR_SET_DUMPABLE, 0, 0, 0, 0) == 0 &&
           LadeFilter();
}

} // namespace zw
