#pragma once

#include "interfaces.h"

#include <atomic>

// The reference counting of a component object that implements Interfaces:
// it starts with one reference held by its creator, and its last Release
// deletes it.
template <typename Derived, typename... Interfaces>
class ComObject : public Interfaces...
{
public:
    ULONG AddRef() override { return ++m_references; }

    ULONG Release() override
    {
        const ULONG left = --m_references;
        if (left == 0)
            delete static_cast<Derived *>(this);
        return left;
    }

protected:
    ComObject() = default;
    ~ComObject() = default;

private:
    std::atomic<ULONG> m_references{1};
};
