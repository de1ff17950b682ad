/* Preloaded into the 32-bit Wine processes that qemu-user runs. qemu leaves the trap number
 * of the SIGSEGV and SIGFPE it raises at -1, and Wine's handler then takes every access
 * violation for an illegal instruction, so programs that catch their own faults die. This
 * wraps the handlers Wine installs for those two signals and fills the trap number in from
 * si_code first, as the kernel would have.
 *
 * Built with `gcc -m32 -shared -fPIC -nostdlib`: there are no 32-bit C headers on the build
 * machine, so the few i386 glibc layouts needed are spelled out here. */

#define SIGFPE 8
#define SIGSEGV 11
#define SA_SIGINFO 4
#define RTLD_NEXT ((void*)-1L)

#define SEGV_MAPERR 1
#define SEGV_ACCERR 2
#define FPE_INTDIV 1
#define FPE_INTOVF 2

#define TRAP_DIVIDE 0
#define TRAP_PROTECTION 13
#define TRAP_PAGE_FAULT 14
#define TRAP_FPU_ERROR 16

/* The start of siginfo_t. */
struct signal_info {
    int signo;
    int error;
    int code;
};

typedef void (*info_handler)(int, struct signal_info*, void*);

/* struct sigaction of i386 glibc: a 1024-bit sigset_t between handler and flags. */
struct signal_action {
    info_handler handler;
    unsigned long mask[32];
    int flags;
    void (*restorer)(void);
};

/* ucontext_t of i386: flags, link and a 12-byte stack_t come before mcontext's gregs. */
#define GREGS_OFFSET 20
#define REG_TRAPNO 12

typedef int (*sigaction_function)(int, const struct signal_action*, struct signal_action*);

void* dlsym(void* handle, const char* name);

static info_handler wine_handlers[SIGSEGV + 1];

static int trap_number(int signal, int code) {
    if (signal == SIGSEGV)
        return code == SEGV_MAPERR || code == SEGV_ACCERR ? TRAP_PAGE_FAULT : TRAP_PROTECTION;
    return code == FPE_INTDIV || code == FPE_INTOVF ? TRAP_DIVIDE : TRAP_FPU_ERROR;
}

static void fill_trap_number(int signal, struct signal_info* info, void* context) {
    int* gregs = (int*)((char*)context + GREGS_OFFSET);
    if (gregs[REG_TRAPNO] == -1)
        gregs[REG_TRAPNO] = trap_number(signal, info->code);
    wine_handlers[signal](signal, info, context);
}

static int is_wrapped(int signal) {
    return signal == SIGSEGV || signal == SIGFPE;
}

static int is_function(info_handler handler) {
    /* SIG_DFL, SIG_IGN and SIG_ERR are 0, 1 and -1. */
    unsigned long value = (unsigned long)handler;
    return value > 1 && value != (unsigned long)-1;
}

int sigaction(int signal, const struct signal_action* action, struct signal_action* old) {
    static sigaction_function next;
    if (!next)
        next = (sigaction_function)dlsym(RTLD_NEXT, "sigaction");
    info_handler previous = is_wrapped(signal) ? wine_handlers[signal] : 0;
    int result;
    if (is_wrapped(signal) && action && (action->flags & SA_SIGINFO) &&
        is_function(action->handler)) {
        struct signal_action wrapped = *action;
        wrapped.handler = fill_trap_number;
        wine_handlers[signal] = action->handler;
        result = next(signal, &wrapped, old);
    } else {
        result = next(signal, action, old);
    }
    if (result == 0 && old && old->handler == fill_trap_number)
        old->handler = previous;
    return result;
}
