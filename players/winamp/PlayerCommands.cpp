// The test's run-time commands (StandInControl.h): those that concern the plug-in's thread go
// to the visualization thread, the others are carried out here on the main thread.
#include <cstring>

#include "players/winamp/Player.h"
#include "players/winamp/PlayerJournal.h"
#include "players/winamp/StandInControl.h"
#include "utility/SettingsTable.h"

namespace winamp_standin {
namespace {

struct VisVerbName {
  const char* name;
  VisVerb verb;
};

constexpr VisVerbName kVisVerbs[] = {
    {"Init", VisVerb::kInit},
    {"Render", VisVerb::kRender},
    {"RenderOnce", VisVerb::kRenderOnce},
    {"Config", VisVerb::kConfig},
    {"Quit", VisVerb::kQuit},
    {"MoveFrame", VisVerb::kMoveFrame},
    {"Close", VisVerb::kClose},
    {"Probe", VisVerb::kProbe},
};

std::string TextOf(const SettingsTable& table, const char* key) {
  UtilStr value;
  table.GetText(key, &value);
  return std::string(value.Text(), size_t(value.Length()));
}

VisCommand MakeVisCommand(VisVerb verb, const SettingsTable& table) {
  VisCommand command{verb};
  command.on = table.GetInteger("on") != 0;
  command.rect = {LONG(table.GetInteger("left")), LONG(table.GetInteger("top")),
                  LONG(table.GetInteger("right")), LONG(table.GetInteger("bottom"))};
  return command;
}

void JournalCommand(const std::string& verb, const std::string& text) {
  refengine::JournalLine line(call::kCommand);
  WriteJournal(line.Text("do", verb).Text("thread", "main").Text("text", text));
}

}  // namespace

void Player::RunCommand(const std::string& text) {
  SettingsTable table;
  if (table.Parse(text.data(), int32_t(text.size())) != SettingsStatus::kOk) {
    refengine::JournalLine line(call::kUnexpected);
    WriteJournal(line.Text("what", "command is not value text").Text("text", text));
    return;
  }
  const std::string verb = TextOf(table, "do");
  JournalCommand(verb, text);
  for (const VisVerbName& vis : kVisVerbs) {
    if (verb != vis.name) continue;
    if (mVis) {
      mVis->Post(MakeVisCommand(vis.verb, table));
    } else {
      WriteUnexpected("command for a visualization that does not run");
    }
    return;
  }
  HWND pluginWindow = mAnswers.PluginWindow();
  if (verb == "Track") {
    mAnswers.ChangeTrack(table);
  } else if (verb == "Menu") {
    const auto id = uint16_t(table.GetInteger("id"));
    const BOOL posted = PostMessageW(pluginWindow, WM_COMMAND, MAKEWPARAM(id, 0), 0);
    refengine::JournalLine line(call::kMenuSent);
    WriteJournal(line.Number("id", id).Address("window", pluginWindow).Number("posted", posted));
  } else if (verb == "Key") {
    mKeys.Press(pluginWindow, uint32_t(table.GetInteger("vk")),
                uint32_t(table.GetInteger("holdMs")), table.GetInteger("sys") != 0);
  } else if (verb == "Exit") {
    Finish("command", kExitNormal);
  } else {
    refengine::JournalLine line(call::kUnexpected);
    WriteJournal(line.Text("what", "unknown command").Text("do", verb));
  }
}

}  // namespace winamp_standin
