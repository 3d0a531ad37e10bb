// Failures a test plants in the calls that write files. Every writing call asks first whether it
// is to fail, so a test can make any step of any file the program writes fail with the reason it
// chooses (a full disk, a read-only folder) without needing such a disk. Costs one load when
// nothing is planted.
#pragma once

namespace platform {

enum class IoStep { Create, Write, Sync, Close, Rename, Count };

// 0, or the error number the current call of `step` is to fail with.
int PlantedFailure(IoStep step);
// From now on the call number `nth` (counted from 0) of `step` fails with `err` (with 0 the calls
// are only counted); every other planted failure is cleared first.
void PlantFailure(IoStep step, int err, int nth = 0);
void ClearPlantedFailures();
// Calls of `step` since the last plant or clear (tests walk every call this way).
int StepCalls(IoStep step);

}  // namespace platform
