#pragma once
// Values kept by key up to a count and a total weight, the least recently
// used given up first when a new one needs room. Each key is stored once,
// in the list that keeps the order of use; the index looks it up there.
#include <cstddef>
#include <list>
#include <map>
#include <utility>

namespace quorvenda {

template <typename Key, typename Value>
class RecentlyUsed {
public:
    RecentlyUsed(std::size_t maxCount, std::size_t maxWeight) : maxCount_(maxCount), maxWeight_(maxWeight) {}

    // The value kept for `key`, now the most recently used; null if none.
    Value* find(const Key& key) {
        const auto found = index_.find(key);
        if (found == index_.end()) return nullptr;
        entries_.splice(entries_.begin(), entries_, found->second);
        return &found->second->value;
    }

    // Keeps `value` for `key` (not kept yet) as the most recently used, first
    // giving up the least recently used until it fits. A value heavier than
    // the whole bound is kept alone.
    Value& keep(Key key, Value value, std::size_t weight) {
        while (!entries_.empty() && (entries_.size() >= maxCount_ || weight_ + weight > maxWeight_)) {
            index_.erase(index_.find(entries_.back().key));
            weight_ -= entries_.back().weight;
            entries_.pop_back();
        }
        entries_.push_front(Entry{std::move(key), std::move(value), weight});
        index_.emplace(&entries_.front().key, entries_.begin());
        weight_ += weight;
        return entries_.front().value;
    }

    std::size_t size() const { return entries_.size(); }

private:
    struct Entry {
        Key key;
        Value value;
        std::size_t weight;
    };
    using Entries = std::list<Entry>;
    // Orders keys by value through the pointers into the list.
    struct ByKey {
        using is_transparent = void;
        bool operator()(const Key* a, const Key* b) const { return *a < *b; }
        bool operator()(const Key* a, const Key& b) const { return *a < b; }
        bool operator()(const Key& a, const Key* b) const { return a < *b; }
    };

    std::size_t maxCount_;
    std::size_t maxWeight_;
    std::size_t weight_ = 0;
    Entries entries_;  // most recently used first
    std::map<const Key*, typename Entries::iterator, ByKey> index_;
};

}  // namespace quorvenda
