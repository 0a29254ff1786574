/* Runs a command on a kernel that seems to lack pidfd waiting (as Linux before 5.4 does):
 * waitid(P_PIDFD, ...) fails with EINVAL in the command and in every process it starts.
 *   without-pidfd PROGRAM [ARGUMENTS...]
 * qemu-user 7.2 refuses clone(CLONE_PIDFD) but passes waitid(P_PIDFD) through to the kernel;
 * Qt 5.15 sees pidfds supported by the kernel, gets no child from the emulator, and reports
 * every program a QProcess starts as crashed. Seeing no pidfds at all, Qt forks as it does on
 * older kernels, which the emulator supports. */
#include <errno.h>
#include <linux/audit.h>
#include <linux/filter.h>
#include <linux/seccomp.h>
#include <stddef.h>
#include <stdio.h>
#include <sys/prctl.h>
#include <sys/syscall.h>
#include <unistd.h>

#if defined(__x86_64__)
#define NATIVE_ARCH AUDIT_ARCH_X86_64
#elif defined(__aarch64__)
#define NATIVE_ARCH AUDIT_ARCH_AARCH64
#else
#error "unknown build machine architecture"
#endif
#define P_PIDFD_TYPE 3

int main(int argc, char **argv)
{
    if (argc < 2) {
        fprintf(stderr, "usage: without-pidfd PROGRAM [ARGUMENTS...]\n");
        return 2;
    }
    struct sock_filter filter[] = {
        BPF_STMT(BPF_LD | BPF_W | BPF_ABS, offsetof(struct seccomp_data, arch)),
        BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, NATIVE_ARCH, 1, 0),
        BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ALLOW),
        BPF_STMT(BPF_LD | BPF_W | BPF_ABS, offsetof(struct seccomp_data, nr)),
        BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, __NR_waitid, 0, 3),
        /* idtype is an int: the low half of the argument on these little-endian machines */
        BPF_STMT(BPF_LD | BPF_W | BPF_ABS, offsetof(struct seccomp_data, args[0])),
        BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, P_PIDFD_TYPE, 0, 1),
        BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ERRNO | EINVAL),
        BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ALLOW),
    };
    struct sock_fprog program = { sizeof(filter) / sizeof(filter[0]), filter };
    if (prctl(PR_SET_NO_NEW_PRIVS, 1, 0, 0, 0) != 0
        || prctl(PR_SET_SECCOMP, SECCOMP_MODE_FILTER, &program) != 0) {
        perror("without-pidfd: seccomp");
        return 127;
    }
    execvp(argv[1], argv + 1);
    perror("without-pidfd: exec");
    return 127;
}
