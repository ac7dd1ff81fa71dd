#pragma once

// A growable list of owned copies of NUL-terminated strings, addressed by index.
class aStringList {
public:
    aStringList();
    aStringList(const aStringList&) = delete;
    aStringList& operator=(const aStringList&) = delete;
    virtual ~aStringList();

    void add(const char* s);
    char* get(int index) const;
    int count() const { return itemCount; }
    int getCapacity() const { return capacity; }
    void removeAt(int index);
    void setAt(int index, const char* s);
    void clear();
    void saveToFile(const char* path) const;

private:
    static const int growth = 16;

    bool inRange(int index) const { return index >= 0 && index < itemCount; }

    int itemCount;
    int capacity;
    char** items;
};
