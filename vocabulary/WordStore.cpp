#include "vocabulary/WordStore.h"

namespace vocabulary {

void WordStore::load(Group group)
{
    const GroupData data = groupData(group);
    for (int i = 0; i < data.count; ++i)
        store(i, data.pairs[i]);
}

} // namespace vocabulary
