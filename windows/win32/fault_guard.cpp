// The fault guard is a frame-based exception handler, registered the way each architecture
// registers them: on x86-64 through the unwind data of a small call thunk, on x86 through a
// registration record on the thread's exception chain. Its handler consults
// UnhandledExceptionFilter and, when told to handle the fault, unwinds back into the guard.
#include "windows/win32/fault_guard.h"

#include <windows.h>

#include <cstdint>

namespace {

// Exception flags of a handler call made while frames are being unwound.
constexpr DWORD kUnwindingFlags = 0x2 | 0x4;  // EXCEPTION_UNWINDING | EXCEPTION_EXIT_UNWIND

// The filter's verdict as a handler's disposition; true when the guard must take over.
bool consultFilter(EXCEPTION_RECORD* record, CONTEXT* context, EXCEPTION_DISPOSITION* disposition) {
  EXCEPTION_POINTERS pointers = {record, context};
  const LONG verdict = UnhandledExceptionFilter(&pointers);
  if (verdict == EXCEPTION_EXECUTE_HANDLER) return true;
  *disposition = verdict == EXCEPTION_CONTINUE_EXECUTION ? ExceptionContinueExecution
                                                         : ExceptionContinueSearch;
  return false;
}

}  // namespace

#if defined(__x86_64__)

// qwGuardedCall(body, context) calls body(context) in a frame whose unwind data names
// qwGuardFrameHandler and answers 0; a fault taken by the guard resumes at qwGuardedCallLanding
// with kFaultTaken in rax.
extern "C" std::uintptr_t qwGuardedCall(GuardedBody body, void* context);
extern "C" char qwGuardedCallLanding[];
extern "C" EXCEPTION_DISPOSITION qwGuardFrameHandler(EXCEPTION_RECORD* record, void* frame,
                                                     CONTEXT* context, void* dispatch);

constexpr std::uintptr_t kFaultTaken = 1;

asm(R"(
    .text
    .p2align 4
    .globl qwGuardedCall
    .def qwGuardedCall; .scl 2; .type 32; .endef
    .seh_proc qwGuardedCall
qwGuardedCall:
    subq $40, %rsp
    .seh_stackalloc 40
    .seh_endprologue
    .seh_handler qwGuardFrameHandler, @except
    movq %rcx, %rax
    movq %rdx, %rcx
    callq *%rax
    xorl %eax, %eax
    .globl qwGuardedCallLanding
qwGuardedCallLanding:
    addq $40, %rsp
    retq
    .seh_endproc
)");

extern "C" EXCEPTION_DISPOSITION qwGuardFrameHandler(EXCEPTION_RECORD* record, void* frame,
                                                     CONTEXT* context, void* dispatch) {
  EXCEPTION_DISPOSITION disposition = ExceptionContinueSearch;
  if (record->ExceptionFlags & kUnwindingFlags) return disposition;
  if (!consultFilter(record, context, &disposition)) return disposition;
  DISPATCHER_CONTEXT* dispatcher = static_cast<DISPATCHER_CONTEXT*>(dispatch);
  // Runs the unwind handlers of the frames in between and resumes in the thunk; never returns.
  RtlUnwindEx(frame, qwGuardedCallLanding, record, reinterpret_cast<void*>(kFaultTaken),
              dispatcher->ContextRecord, dispatcher->HistoryTable);
  return ExceptionContinueSearch;
}

bool RunGuarded(GuardedBody body, void* context) { return qwGuardedCall(body, context) == 0; }

#elif defined(__i386__)

namespace {

// An exception registration record as the system expects it (next, handler), followed by the
// place to resume the guard.
struct GuardRegistration {
  GuardRegistration* next;
  void* handler;
  void* resume[5];  // __builtin_setjmp buffer
};

// The head of the thread's exception chain, the first word of its information block.
GuardRegistration* exceptionChain() {
  GuardRegistration* head;
  asm volatile("movl %%fs:0, %0" : "=r"(head));
  return head;
}

void setExceptionChain(GuardRegistration* head) {
  asm volatile("movl %0, %%fs:0" : : "r"(head) : "memory");
}

extern "C" EXCEPTION_DISPOSITION __cdecl guardFrameHandler(EXCEPTION_RECORD* record, void* frame,
                                                           CONTEXT* context, void*) {
  EXCEPTION_DISPOSITION disposition = ExceptionContinueSearch;
  if (record->ExceptionFlags & kUnwindingFlags) return disposition;
  if (!consultFilter(record, context, &disposition)) return disposition;
  // Unwinds the frames registered after the guard's, then resumes the guard.
  RtlUnwind(frame, nullptr, record, nullptr);
  __builtin_longjmp(static_cast<GuardRegistration*>(frame)->resume, 1);
}

}  // namespace

bool RunGuarded(GuardedBody body, void* context) {
  GuardRegistration registration = {};
  registration.next = exceptionChain();
  registration.handler = reinterpret_cast<void*>(&guardFrameHandler);
  if (__builtin_setjmp(registration.resume) == 0) {
    setExceptionChain(&registration);
    body(context);
    setExceptionChain(registration.next);
    return true;
  }
  setExceptionChain(registration.next);
  return false;
}

#else
#error "The fault guard knows the exception frames of x86 and x86-64 only"
#endif
