// Copies of the records a host passes, added to journal lines: the record's bytes under
// "raw" and its fields by name, including the texts and bytes its addresses lead to.
#pragma once

#include "refengine/JournalLine.h"
#include "visualhost/engine/EngineRecords.h"

namespace refengine {

void DescribeEvent(JournalLine& line, const EventRecord& event);
void DescribeTrack(JournalLine& line, const TrackRecord& track);
void DescribeArt(JournalLine& line, const ArtRecord& art);
void DescribePixelBuffer(JournalLine& line, const PixelBufferDesc& buffer);
void DescribePreference(JournalLine& line, const PreferenceAnswer& value);
void DescribeRect(JournalLine& line, const EngineRect& rect);

}  // namespace refengine
