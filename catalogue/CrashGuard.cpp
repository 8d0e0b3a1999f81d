#include "catalogue/CrashGuard.h"
#include <windows.h>

// A structured-exception frame of our own on the thread's handler chain: the
// system offers it every exception that the called code leaves unhandled.
namespace {
struct GuardFrame {
    EXCEPTION_REGISTRATION_RECORD record;  // first: the system hands back its address
    void* resume[5];                       // __builtin_setjmp buffer
};

// The head of the thread's handler chain, at fs:0 on x86 Windows.
EXCEPTION_REGISTRATION_RECORD* HandlerChain()
{
    EXCEPTION_REGISTRATION_RECORD* head;
    __asm__ volatile("movl %%fs:0, %0" : "=r"(head));
    return head;
}

void SetHandlerChain(EXCEPTION_REGISTRATION_RECORD* head)
{
    __asm__ volatile("movl %0, %%fs:0" : : "r"(head) : "memory");
}

EXCEPTION_DISPOSITION NTAPI AbandonCall(EXCEPTION_RECORD* exception, void* establisher, CONTEXT*, void*)
{
    if (exception->ExceptionFlags & (EXCEPTION_UNWINDING | EXCEPTION_EXIT_UNWIND))
        return ExceptionContinueSearch;
    // Kept in memory: RtlUnwind may not preserve the registers.
    GuardFrame* volatile frame = static_cast<GuardFrame*>(establisher);
    // Lets the frames above ours run their termination handlers and drops them.
    ::RtlUnwind(establisher, nullptr, exception, nullptr);
    SetHandlerChain(frame->record.Next);
    __builtin_longjmp(frame->resume, 1);
}
}

bool RunGuarded(void (*call)(void* context), void* context)
{
    GuardFrame frame;
    frame.record.Next = HandlerChain();
    frame.record.Handler = &AbandonCall;
    if (__builtin_setjmp(frame.resume) != 0)
        return false;  // AbandonCall has taken our frame off the chain
    SetHandlerChain(&frame.record);
    call(context);
    SetHandlerChain(frame.record.Next);
    return true;
}
