// The parsed forms of the masks and expressions most recently used, keyed by
// their text, so that the facade does not parse a field's mask again for
// every value it checks. Parsing is a function of the text alone, so one
// cache per kind of mask needs no other key.
//
// A parsed form is shared, never changed after parsing, and outlives its
// eviction for as long as a caller holds it; any number of threads may use
// the cache at once. Entries are spread over shards by the hash of their
// text, each shard with its own lock and least-recently-used order, so the
// cache holds at most its capacity.
//
// Only successful parses are kept: a text that does not parse is parsed
// again each time, so its error is always the parser's own.
#pragma once

#include <wincompat/WinTypes.h>

#include <array>
#include <functional>
#include <list>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>

template <typename Parsed> class CQXParsedMaskCache
{
public:
    using Parser = BOOL (*)(const std::wstring& text, Parsed& parsed, DWORD& code);

    static constexpr size_t kShards = 8;
    static constexpr size_t kDefaultCapacity = 256;
    // Longer texts are parsed but not kept: one would hold more memory than
    // the parse it saves is worth.
    static constexpr size_t kLongestKeptText = 4096;
    // What every parser reports when something unexpected stopped it.
    static constexpr DWORD kInternalError = 0x7FFFFFFF;

    // capacity is rounded up to a multiple of the shard count.
    explicit CQXParsedMaskCache(Parser parser, size_t capacity = kDefaultCapacity)
        : m_parser(parser), m_shardCapacity((capacity + kShards - 1) / kShards)
    {
    }

    CQXParsedMaskCache(const CQXParsedMaskCache&) = delete;
    CQXParsedMaskCache& operator=(const CQXParsedMaskCache&) = delete;

    // The parsed form of text with code 0, or nullptr with the parser's
    // code when the text does not parse. Never throws.
    std::shared_ptr<const Parsed> Get(const std::wstring& text, DWORD& code) noexcept
    {
        code = 0;
        Shard& shard = _ShardOf(text);
        if (std::shared_ptr<const Parsed> found = shard.Find(text))
            return found;
        std::shared_ptr<const Parsed> parsed = _Parse(text, code);
        if (parsed && text.size() <= kLongestKeptText)
            return shard.Keep(text, std::move(parsed), m_shardCapacity);
        return parsed;
    }

    size_t GetCount() const
    {
        size_t count = 0;
        for (const Shard& shard : m_shards)
            count += shard.GetCount();
        return count;
    }

    size_t GetCapacity() const { return m_shardCapacity * kShards; }

private:
    struct Entry
    {
        std::wstring text;
        std::shared_ptr<const Parsed> parsed;
    };

    class Shard
    {
    public:
        std::shared_ptr<const Parsed> Find(const std::wstring& text)
        {
            std::lock_guard<std::mutex> lock(m_lock);
            const auto found = m_index.find(std::wstring_view(text));
            if (found == m_index.end())
                return nullptr;
            m_entries.splice(m_entries.begin(), m_entries, found->second);
            return found->second->parsed;
        }

        // Another thread may have kept the same text meanwhile; its form is
        // then the one handed out, so every caller shares one. A failure to
        // keep the form only costs the next caller a parse.
        std::shared_ptr<const Parsed> Keep(const std::wstring& text, std::shared_ptr<const Parsed> parsed,
                                           size_t capacity) noexcept
        {
            std::shared_ptr<const Parsed> evicted;
            try
            {
                std::lock_guard<std::mutex> lock(m_lock);
                const auto found = m_index.find(std::wstring_view(text));
                if (found != m_index.end())
                    return found->second->parsed;
                m_entries.push_front(Entry{text, parsed});
                try
                {
                    m_index.emplace(std::wstring_view(m_entries.front().text), m_entries.begin());
                }
                catch (...)
                {
                    m_entries.pop_front();
                    throw;
                }
                if (m_entries.size() > capacity)
                    evicted = _EvictOldest();
            }
            catch (...)
            {
            }
            // The evicted form is released here, outside the lock.
            return parsed;
        }

        size_t GetCount() const
        {
            std::lock_guard<std::mutex> lock(m_lock);
            return m_entries.size();
        }

    private:
        std::shared_ptr<const Parsed> _EvictOldest()
        {
            std::shared_ptr<const Parsed> oldest = std::move(m_entries.back().parsed);
            m_index.erase(std::wstring_view(m_entries.back().text));
            m_entries.pop_back();
            return oldest;
        }

        mutable std::mutex m_lock;
        std::list<Entry> m_entries; // most recently used first
        std::unordered_map<std::wstring_view, typename std::list<Entry>::iterator> m_index;
    };

    Shard& _ShardOf(const std::wstring& text)
    {
        return m_shards[std::hash<std::wstring_view>()(text) % kShards];
    }

    std::shared_ptr<const Parsed> _Parse(const std::wstring& text, DWORD& code) noexcept
    {
        try
        {
            auto parsed = std::make_shared<Parsed>();
            if (!m_parser(text, *parsed, code))
                return nullptr;
            return parsed;
        }
        catch (...)
        {
            code = kInternalError;
            return nullptr;
        }
    }

    Parser m_parser;
    size_t m_shardCapacity;
    std::array<Shard, kShards> m_shards;
};
