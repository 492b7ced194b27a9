#include "players/jriver/VisObjects.h"

#include "players/jriver/JRiverStandInControl.h"

namespace jriver_standin {
namespace {

using refengine::JournalLine;

StandInVisData* Self(jmc::VisData* face) { return reinterpret_cast<StandInVisData*>(face); }
StandInRedrawHelper* Self(jmc::RedrawHelper* face) {
  return reinterpret_cast<StandInRedrawHelper*>(face);
}

void* JMC_OBJECT_CALL DestroyVisData(jmc::VisData* face, uint32_t flags) {
  StandInVisData* self = Self(face);
  ++*self->destroyedCount;
  self->sink(JournalLine(call::kVisDestroy)
                 .Address("object", face)
                 .Number("flags", flags)
                 .Number("count", *self->destroyedCount));
  delete self;
  return nullptr;
}

void JMC_OBJECT_CALL Refresh(jmc::VisData* face) { Self(face)->sink(JournalLine(call::kVisRefresh)); }

const uint8_t* JMC_OBJECT_CALL SampleBlock(jmc::VisData* face) {
  StandInVisData* self = Self(face);
  const uint8_t* block = self->content.nullSamples ? nullptr : self->block.data();
  self->sink(JournalLine(call::kVisSamples).Number("given", block != nullptr));
  return block;
}

int32_t JMC_OBJECT_CALL Changed(jmc::VisData* face, int32_t what) {
  StandInVisData* self = Self(face);
  const int32_t answer = self->pendingChanges > 0 ? 1 : 0;
  if (answer != 0) --self->pendingChanges;
  self->sink(JournalLine(call::kVisChanged).Number("what", what).Number("answer", answer));
  return answer;
}

const char16_t* NormalText(const StandInVisData& self, int32_t index) {
  switch (index) {
    case jmc::VisText::kTitle:
      return kTitle;
    case jmc::VisText::kArtist:
      return kArtist;
    case jmc::VisText::kAlbum:
      return kAlbum;
    case jmc::VisText::kYear:
      return kYear;
    case jmc::VisText::kAlbumArtFile:
      return self.content.artFile.c_str();
    default:
      return nullptr;
  }
}

const char16_t* Text(jmc::VisData* face, int32_t index) {
  StandInVisData* self = Self(face);
  switch (self->content.texts) {
    case VisContent::Texts::kNull:
      return nullptr;
    case VisContent::Texts::kEndless:
      return self->endless.data();
    default:
      return NormalText(*self, index);
  }
}

const char16_t* JMC_OBJECT_CALL TextByIndex(jmc::VisData* face, int32_t index) {
  const char16_t* text = Text(face, index);
  Self(face)->sink(JournalLine(call::kVisText).Number("index", index).Number("given", text != nullptr));
  return text;
}

void* JMC_OBJECT_CALL DestroyRedrawHelper(jmc::RedrawHelper* face, uint32_t flags) {
  StandInRedrawHelper* self = Self(face);
  ++*self->destroyedCount;
  self->sink(JournalLine(call::kRedrawDestroy).Address("object", face).Number("flags", flags));
  delete self;
  return nullptr;
}

void JMC_OBJECT_CALL SetWindow(jmc::RedrawHelper* face, void* window, int32_t zero, float rate) {
  Self(face)->sink(JournalLine(call::kRedrawWindow)
                       .Address("window", window)
                       .Number("zero", zero)
                       .Number("rateMilli", int64_t(double(rate) * 1000.0 + 0.5)));
}

const jmc::VisDataTable kVisDataTable = {
    .destroy = DestroyVisData,
    .refresh = Refresh,
    .slot2 = nullptr,
    .sampleBlock = SampleBlock,
    .changed = Changed,
    .slot5 = nullptr,
    .text = TextByIndex,
};

const jmc::RedrawHelperTable kRedrawHelperTable = {
    .destroy = DestroyRedrawHelper,
    .setWindow = SetWindow,
};

}  // namespace

StandInVisData* NewVisData(const VisContent& content, int32_t pendingChanges, JournalSink sink,
                           int32_t* destroyedCount) {
  auto* data = new StandInVisData{{&kVisDataTable}, sink, content, KnownSampleBlock(), {},
                                  pendingChanges, destroyedCount};
  // Readable units beyond 255, but no terminator among them until the very end.
  data->endless.assign(kEndlessUnits, u'x');
  data->endless.push_back(0);
  return data;
}

StandInRedrawHelper* NewRedrawHelper(JournalSink sink, int32_t* destroyedCount) {
  return new StandInRedrawHelper{{&kRedrawHelperTable}, sink, destroyedCount};
}

}  // namespace jriver_standin
