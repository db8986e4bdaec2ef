// Element-wise copy of the owning vectors behind the item lists.
#pragma once

#include <memory>
#include <vector>

template <class T>
std::vector<std::unique_ptr<T>> DeepCopy(const std::vector<std::unique_ptr<T>>& source)
{
    std::vector<std::unique_ptr<T>> copies;
    copies.reserve(source.size());
    for (const auto& element : source)
        copies.push_back(std::make_unique<T>(*element));
    return copies;
}

template <class T> T* ElementAt(const std::vector<std::unique_ptr<T>>& elements, int index)
{
    if (index < 0 || static_cast<size_t>(index) >= elements.size())
        return nullptr;
    return elements[static_cast<size_t>(index)].get();
}
