// Length sums shared by the mask item lists.
#pragma once

namespace masklengths
{
// Sum of one length per item of an owning list; -1 as soon as an item has
// none (0 for an empty list).
template <class Items, class Length> int SumLengths(const Items& items, Length length)
{
    int sum = 0;
    for (const auto& item : items)
    {
        const int n = length(*item);
        if (n < 0)
            return -1;
        sum += n;
    }
    return sum;
}
} // namespace masklengths
