#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

namespace qxed {

// A connection to a Signal. It disconnects when destroyed, so a view that goes away never receives another
// notice; moving it hands the connection on.
class Connection {
  public:
    Connection() = default;
    Connection(std::weak_ptr<void> list, std::function<void()> disconnect)
        : list_(std::move(list)), disconnect_(std::move(disconnect)) {}
    ~Connection() { Disconnect(); }
    Connection(Connection&& other) noexcept = default;
    Connection& operator=(Connection&& other) noexcept {
        if (this != &other) {
            Disconnect();
            list_ = std::move(other.list_);
            disconnect_ = std::move(other.disconnect_);
        }
        return *this;
    }
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    // Safe after the signal itself is gone.
    void Disconnect() {
        if (disconnect_ && !list_.expired()) disconnect_();
        disconnect_ = nullptr;
        list_.reset();
    }

  private:
    std::weak_ptr<void> list_;
    std::function<void()> disconnect_;
};

// A small signal of plain C++: the document notifies its views through it, since the editor's logic modules
// do not use the toolkit. Slots run in connection order. A slot may connect or disconnect others (or
// itself) while the signal is being emitted: a slot disconnected during an emission is not called any more,
// one connected during it is called from the next emission on.
template <class... Args>
class Signal {
  public:
    Signal() = default;
    Signal(const Signal&) = delete;
    Signal& operator=(const Signal&) = delete;

    // Connecting does not change what the signal tells, so a view may connect to a document it only reads.
    [[nodiscard]] Connection Connect(std::function<void(Args...)> slot) const {
        const uint64_t id = list_->NextId++;
        list_->Entries.push_back({id, std::make_shared<std::function<void(Args...)>>(std::move(slot))});
        std::weak_ptr<SlotList> weak = list_;
        return Connection(weak, [weak, id] {
            if (const auto list = weak.lock()) list->Remove(id);
        });
    }

    void Emit(Args... args) const {
        // A copy of the list, so that list may change the connections while it runs.
        const std::vector<Entry> entries = list_->Entries;
        for (const Entry& entry : entries) {
            if (!list_->Contains(entry.Id)) continue;
            const auto slot = entry.Slot;  // kept alive even if the slot disconnects itself
            (*slot)(args...);
        }
    }

    std::size_t ConnectionCount() const { return list_->Entries.size(); }

  private:
    struct Entry {
        uint64_t Id;
        std::shared_ptr<std::function<void(Args...)>> Slot;
    };
    struct SlotList {
        std::vector<Entry> Entries;
        uint64_t NextId = 1;
        void Remove(uint64_t id) {
            std::erase_if(Entries, [id](const Entry& entry) { return entry.Id == id; });
        }
        bool Contains(uint64_t id) const {
            for (const Entry& entry : Entries)
                if (entry.Id == id) return true;
            return false;
        }
    };
    std::shared_ptr<SlotList> list_ = std::make_shared<SlotList>();
};

}  // namespace qxed
