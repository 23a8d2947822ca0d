#include "platform/windows/TaskAutoRunStore.h"

#include "platform/windows/Win32.h"
// clang-format off
#include <objbase.h>
#include <oleauto.h>
#include <taskschd.h>
// clang-format on

#include "platform/windows/ComPtr.h"

namespace orvane::platform::windows_backend {
namespace {

std::u16string Escaped(const std::u16string& text) {
  std::u16string escaped;
  for (const char16_t c : text) {
    switch (c) {
      case u'&':
        escaped += u"&amp;";
        break;
      case u'<':
        escaped += u"&lt;";
        break;
      case u'>':
        escaped += u"&gt;";
        break;
      case u'"':
        escaped += u"&quot;";
        break;
      default:
        escaped += c;
    }
  }
  return escaped;
}

std::u16string FromAnsi(const std::string& text) {
  if (text.empty()) return {};
  const int units =
      MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  if (units <= 0) return {};
  std::u16string wide(static_cast<std::size_t>(units), u'\0');
  MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()),
                      reinterpret_cast<wchar_t*>(wide.data()), units);
  return wide;
}

// A BSTR that is freed when it goes.
class Bstr {
 public:
  explicit Bstr(const std::u16string& text)
      : text_(SysAllocStringLen(reinterpret_cast<const OLECHAR*>(text.data()),
                                static_cast<UINT>(text.size()))) {}
  ~Bstr() { SysFreeString(text_); }
  Bstr(const Bstr&) = delete;
  Bstr& operator=(const Bstr&) = delete;
  BSTR Get() const { return text_; }

 private:
  BSTR text_;
};

// COM for the calling thread for one call; the thread's own setting is kept when it has one.
class ComScope {
 public:
  ComScope() : result_(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}
  ~ComScope() {
    if (SUCCEEDED(result_)) CoUninitialize();
  }
  ComScope(const ComScope&) = delete;
  ComScope& operator=(const ComScope&) = delete;
  // A thread already in another apartment can still make the calls.
  bool Usable() const { return SUCCEEDED(result_) || result_ == RPC_E_CHANGED_MODE; }
  HRESULT Result() const { return result_; }

 private:
  HRESULT result_;
};

// The root task folder of the local Task Scheduler.
HRESULT RootFolder(ComPtr<ITaskFolder>& folder) {
  ComPtr<ITaskService> service;
  HRESULT result = CoCreateInstance(CLSID_TaskScheduler, nullptr, CLSCTX_INPROC_SERVER,
                                    IID_ITaskService, reinterpret_cast<void**>(service.Receive()));
  if (FAILED(result)) return result;
  VARIANT none;
  VariantInit(&none);
  result = service->Connect(none, none, none, none);
  if (FAILED(result)) return result;
  Bstr root(u"\\");
  return service->GetFolder(root.Get(), folder.Receive());
}

class TaskRunKey : public IRunKey {
 public:
  TaskRunKey(ILogonTasks& tasks, IAutoRunStore& runKeys) : tasks_(tasks), runKeys_(runKeys) {}

  int32_t WriteString(const std::string& name, const std::string& data) override {
    const int32_t result = tasks_.Register(FromAnsi(name), LogonTaskXml(FromAnsi(data)));
    if (result < 0) return Win32CodeOf(result);
    RemoveOldEntry(name);
    return kRegistrySuccess;
  }

  int32_t DeleteValue(const std::string& name) override {
    RemoveOldEntry(name);
    return Win32CodeOf(tasks_.Delete(FromAnsi(name)));
  }

 private:
  void RemoveOldEntry(const std::string& name) {
    // Best effort: without rights on the machine-wide key an old entry stays, and UAC keeps
    // blocking it as before; the task starts the program either way.
    if (const auto key = runKeys_.OpenRunKey()) key->DeleteValue(name);
  }

  ILogonTasks& tasks_;
  IAutoRunStore& runKeys_;
};

}  // namespace

int32_t Win32CodeOf(int32_t hresult) {
  const auto value = static_cast<uint32_t>(hresult);
  if ((value & 0xFFFF0000u) == 0x80070000u) return static_cast<int32_t>(value & 0xFFFFu);
  return hresult;
}

CommandParts SplitCommand(const std::u16string& command) {
  CommandParts parts;
  if (!command.empty() && command.front() == u'"') {
    const std::size_t close = command.find(u'"', 1);
    if (close != std::u16string::npos) {
      parts.program = command.substr(1, close - 1);
      const std::size_t rest = command.find_first_not_of(u' ', close + 1);
      if (rest != std::u16string::npos) parts.arguments = command.substr(rest);
      return parts;
    }
  }
  // A path the Run key stored without quotes may have blanks: it is taken whole.
  parts.program = command;
  return parts;
}

std::u16string LogonTaskXml(const std::u16string& command) {
  const CommandParts parts = SplitCommand(command);
  std::u16string xml =
      u"<?xml version=\"1.0\" encoding=\"UTF-16\"?>\r\n"
      u"<Task version=\"1.2\" xmlns=\"http://schemas.microsoft.com/windows/2004/02/mit/task\">\r\n"
      u"<Triggers><LogonTrigger><Enabled>true</Enabled></LogonTrigger></Triggers>\r\n"
      // The Users group: whoever logs on, with the highest rights that user has.
      u"<Principals><Principal id=\"Users\"><GroupId>S-1-5-32-545</GroupId>"
      u"<RunLevel>HighestAvailable</RunLevel></Principal></Principals>\r\n"
      // A window the user works with: no time limit, no battery rule, normal priority.
      u"<Settings><MultipleInstancesPolicy>IgnoreNew</MultipleInstancesPolicy>"
      u"<DisallowStartIfOnBatteries>false</DisallowStartIfOnBatteries>"
      u"<StopIfGoingOnBatteries>false</StopIfGoingOnBatteries>"
      u"<ExecutionTimeLimit>PT0S</ExecutionTimeLimit><Priority>5</Priority>"
      u"<Enabled>true</Enabled></Settings>\r\n"
      u"<Actions Context=\"Users\"><Exec><Command>" +
      Escaped(parts.program) + u"</Command>";
  if (!parts.arguments.empty()) xml += u"<Arguments>" + Escaped(parts.arguments) + u"</Arguments>";
  xml += u"</Exec></Actions>\r\n</Task>\r\n";
  return xml;
}

std::unique_ptr<IRunKey> TaskAutoRunStore::OpenRunKey() {
  return std::make_unique<TaskRunKey>(tasks_, runKeys_);
}

int32_t ComLogonTasks::Register(const std::u16string& name, const std::u16string& xml) {
  ComScope com;
  if (!com.Usable()) return com.Result();
  ComPtr<ITaskFolder> folder;
  HRESULT result = RootFolder(folder);
  if (FAILED(result)) return result;
  Bstr path(name);
  Bstr definition(xml);
  VARIANT none;
  VariantInit(&none);
  ComPtr<IRegisteredTask> task;
  // The principal is the group the definition names, so no user or password is given.
  result = folder->RegisterTask(path.Get(), definition.Get(), TASK_CREATE_OR_UPDATE, none, none,
                                TASK_LOGON_GROUP, none, task.Receive());
  return result;
}

int32_t ComLogonTasks::Delete(const std::u16string& name) {
  ComScope com;
  if (!com.Usable()) return com.Result();
  ComPtr<ITaskFolder> folder;
  HRESULT result = RootFolder(folder);
  if (FAILED(result)) return result;
  Bstr path(name);
  return folder->DeleteTask(path.Get(), 0);
}

}  // namespace orvane::platform::windows_backend
