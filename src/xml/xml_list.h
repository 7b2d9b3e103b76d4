#pragma once

#include <iterator>
#include <memory>
#include <utility>
#include <vector>

// An ordered list that owns each of its entries in an allocation of its own.
// Callers keep pointers to stored entries while the list grows or other
// entries are removed, so entries are never moved. Copying a list is left to
// the owning entry, whose copy rules differ per kind, hence no copy here.
template <typename T>
class xml_list {
    using storage = std::vector<std::unique_ptr<T>>;

    template <typename V, typename It>
    class iter {
    public:
        using iterator_category = std::random_access_iterator_tag;
        using value_type = T;
        using difference_type = std::ptrdiff_t;
        using pointer = V*;
        using reference = V&;

        iter() = default;
        explicit iter(It it) : pos(it) {}
        reference operator*() const { return **pos; }
        pointer operator->() const { return pos->get(); }
        reference operator[](difference_type n) const { return *pos[n]; }
        iter& operator++() { ++pos; return *this; }
        iter operator++(int) { iter old = *this; ++pos; return old; }
        iter& operator--() { --pos; return *this; }
        iter operator--(int) { iter old = *this; --pos; return old; }
        iter& operator+=(difference_type n) { pos += n; return *this; }
        iter& operator-=(difference_type n) { pos -= n; return *this; }
        friend iter operator+(iter a, difference_type n) { return iter(a.pos + n); }
        friend iter operator+(difference_type n, iter a) { return iter(a.pos + n); }
        friend iter operator-(iter a, difference_type n) { return iter(a.pos - n); }
        friend difference_type operator-(const iter& a, const iter& b) { return a.pos - b.pos; }
        friend bool operator==(const iter& a, const iter& b) { return a.pos == b.pos; }
        friend bool operator!=(const iter& a, const iter& b) { return a.pos != b.pos; }
        friend bool operator<(const iter& a, const iter& b) { return a.pos < b.pos; }
        friend bool operator>(const iter& a, const iter& b) { return a.pos > b.pos; }
        friend bool operator<=(const iter& a, const iter& b) { return a.pos <= b.pos; }
        friend bool operator>=(const iter& a, const iter& b) { return a.pos >= b.pos; }

    private:
        It pos {};
    };

public:
    using value_type = T;
    using iterator = iter<T, typename storage::iterator>;
    using const_iterator = iter<const T, typename storage::const_iterator>;

    xml_list() = default;
    xml_list(const xml_list&) = delete;
    xml_list& operator=(const xml_list&) = delete;
    xml_list(xml_list&&) noexcept = default;
    xml_list& operator=(xml_list&&) noexcept = default;
    ~xml_list() = default;

    int size() const { return int(items.size()); }
    int count() const { return size(); }
    bool isEmpty() const { return items.empty(); }
    bool empty() const { return items.empty(); }

    // Index must be in range, as for QList.
    T& operator[](int i) { return *items[size_t(i)]; }
    const T& operator[](int i) const { return *items[size_t(i)]; }
    const T& at(int i) const { return *items[size_t(i)]; }
    T& first() { return *items.front(); }
    const T& first() const { return *items.front(); }
    T& last() { return *items.back(); }
    const T& last() const { return *items.back(); }
    // The stored entry at i, or null when i is out of range.
    T* value(int i) { return i >= 0 && i < size() ? items[size_t(i)].get() : nullptr; }
    const T* value(int i) const { return i >= 0 && i < size() ? items[size_t(i)].get() : nullptr; }

    int indexOf(const T* entry) const
    {
        for (size_t i = 0; i < items.size(); ++i)
            if (items[i].get() == entry)
                return int(i);
        return -1;
    }

    // Stores a copy made by T's copy constructor (which applies the entry's
    // copy rules); returns the stored entry.
    T* append(const T& entry) { return append(std::make_unique<T>(entry)); }
    T* append(std::unique_ptr<T> entry)
    {
        items.push_back(std::move(entry));
        return items.back().get();
    }

    // Destroys the entry at i; nothing when i is out of range.
    void removeAt(int i)
    {
        if (i >= 0 && i < size())
            items.erase(items.begin() + i);
    }
    // Destroys the stored entry at that address; false when it is not in the list.
    bool remove(const T* entry)
    {
        const int i = indexOf(entry);
        if (i < 0)
            return false;
        removeAt(i);
        return true;
    }
    // Hands the entry at i over to the caller; null when i is out of range.
    std::unique_ptr<T> takeAt(int i)
    {
        if (i < 0 || i >= size())
            return nullptr;
        std::unique_ptr<T> taken = std::move(items[size_t(i)]);
        items.erase(items.begin() + i);
        return taken;
    }
    void clear() { items.clear(); }
    void reserve(int n) { items.reserve(size_t(n)); }

    iterator begin() { return iterator(items.begin()); }
    iterator end() { return iterator(items.end()); }
    const_iterator begin() const { return const_iterator(items.begin()); }
    const_iterator end() const { return const_iterator(items.end()); }
    const_iterator cbegin() const { return begin(); }
    const_iterator cend() const { return end(); }

private:
    storage items;
};
