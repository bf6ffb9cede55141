// Guarded work on a thread: an arithmetic fault (SIGFPE) raised inside it, or an
// interrupt sent from another thread, ends that piece of work instead of the
// process. The music worker renders through it, so a module that makes the
// library divide by zero, or that never finishes a buffer, only falls silent.
#pragma once

#include <cstdint>

enum class GuardEnd { Done, Fault, Interrupted };

// Runs work(data) on the calling thread. What the work was doing when it was
// cut short is abandoned half way: its data must not be used again.
GuardEnd run_guarded(void (*work)(void*), void* data);

// The calling thread, as interrupt_guarded and thread_cpu_ns_of name it.
uint64_t current_thread_id();
// Cuts short the guarded work running on `thread`; nothing when it runs none.
void interrupt_guarded(uint64_t thread);

// CPU time used by the calling thread, and by another thread of the process, in ns.
int64_t thread_cpu_ns();
int64_t thread_cpu_ns_of(uint64_t thread);
