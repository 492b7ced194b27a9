// The objects the stand-in RealPlayer hands the visualization: its context, which answers the
// context service interface with a service object of its own, and its property set. Each
// journals what the visualization did with it.
#pragma once

#include "vis_Omnihost/realplayer/RealPlayerRecords.h"

namespace realplayer_standin {

// The context; when `answers` is false it has no interface at all.
realplayer::Unknown* PlayerContext(bool answers);
realplayer::PropertySet* PlayerProperties();

}  // namespace realplayer_standin
