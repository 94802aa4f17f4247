#pragma once
// Whether the object being stored now is stored only to be compared with
// itself before and after a change (CBaseDevice::ChangeGuard), not for a
// file: what an object does before it stores for a file (taking the edits
// of an open window first) must not happen then.

bool IsComparingStore();
