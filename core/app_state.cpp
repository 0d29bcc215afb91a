#include "core/app_state.h"

namespace qel {
namespace {
bool batchMode = false;
bool pickContractorEveryTime = false;
}  // namespace

bool BatchMode() { return batchMode; }
void SetBatchMode(bool on) { batchMode = on; }
bool PickContractorEveryTime() { return pickContractorEveryTime; }
void SetPickContractorEveryTime(bool on) { pickContractorEveryTime = on; }

}  // namespace qel
