#include "players/shared/StandInPlugin.h"

#include "players/shared/StandInJournal.h"
#include "refengine/JournalLine.h"

namespace standin {

HMODULE LoadPluginJournaled(const std::wstring& path) {
  HMODULE library = LoadLibraryW(path.c_str());
  // Read before anything else can change it.
  const DWORD error = library != nullptr ? 0 : GetLastError();
  const std::u16string widePath(path.begin(), path.end());
  WriteJournal(refengine::JournalLine(kLoadLibraryCall)
                   .WideText("path", widePath.c_str(), widePath.size())
                   .Address("module", library)
                   .Number("error", int64_t(error)));
  return library;
}

}  // namespace standin
