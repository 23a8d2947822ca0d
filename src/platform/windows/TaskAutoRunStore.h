#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "platform/AutoRunStore.h"

namespace orvane::platform::windows_backend {

// The Task Scheduler's root folder, as far as autostart needs it. Results are HRESULTs.
class ILogonTasks {
 public:
  virtual ~ILogonTasks() = default;
  // Creates or replaces the task of that name from its XML definition.
  virtual int32_t Register(const std::u16string& name, const std::u16string& xml) = 0;
  virtual int32_t Delete(const std::u16string& name) = 0;
};

// The real Task Scheduler, over its COM interface. COM is initialised for each call.
class ComLogonTasks : public ILogonTasks {
 public:
  int32_t Register(const std::u16string& name, const std::u16string& xml) override;
  int32_t Delete(const std::u16string& name) override;
};

// A Run-key command split into the program and its arguments.
struct CommandParts {
  std::u16string program;  // without the quotes a path with blanks came in
  std::u16string arguments;
};
CommandParts SplitCommand(const std::u16string& command);

// The definition of a task that starts the command when any user logs on, with the highest
// rights that user has: a program that asks for administrator rights is not started from the
// Run key at all, as UAC blocks it there.
std::u16string LogonTaskXml(const std::u16string& command);

// Autostart as a logon task: a value written is a task of that name, a value deleted removes
// it. Both remove the Run-key value of the same name an older version wrote, so the program
// never starts twice (nor fails to start from there). Texts are in the ANSI code page.
class TaskAutoRunStore : public IAutoRunStore {
 public:
  // Both must outlive the store; `runKeys` is where the older entries are.
  TaskAutoRunStore(ILogonTasks& tasks, IAutoRunStore& runKeys) : tasks_(tasks), runKeys_(runKeys) {}
  // Never null: the Task Scheduler is asked on each write, and its refusal is the write's result.
  std::unique_ptr<IRunKey> OpenRunKey() override;

 private:
  ILogonTasks& tasks_;
  IAutoRunStore& runKeys_;
};

// The Win32 code a registry caller expects for an HRESULT: the code it wraps, else the HRESULT.
int32_t Win32CodeOf(int32_t hresult);

}  // namespace orvane::platform::windows_backend
