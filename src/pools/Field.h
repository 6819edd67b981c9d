#pragma once

// The field limits every pool is numbered over. The pair and triple pools
// name runners 1..18, the win and place tables keep a slot for each of 28
// runners, and a field is drawn into 8 brackets. The entry counts of the pools
// (36 bracket pairs, 153 pairs, 306 ordered pairs, 816 triples) follow from
// these (pools/Numbering).
namespace tavek::pools {

inline constexpr int kMaxRunners = 18;   // the runners of a field the pair and triple pools name
inline constexpr int kRecordSlots = 28;  // the runner slots of the win and place tables
inline constexpr int kBrackets = 8;

}  // namespace tavek::pools
