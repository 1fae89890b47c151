#include "document/signal.h"

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <vector>

namespace qxed {
namespace {

TEST(Signal, AConnectionEndsWithItsOwner) {
    Signal<int> signal;
    std::vector<int> received;
    {
        Connection connection = signal.Connect([&](int value) { received.push_back(value); });
        signal.Emit(1);
        Connection moved = std::move(connection);  // the connection travels with the view
        signal.Emit(2);
    }
    signal.Emit(3);
    EXPECT_EQ(received, (std::vector<int>{1, 2}));
    EXPECT_EQ(signal.ConnectionCount(), 0u);
}

TEST(Signal, SlotsMayDisconnectThemselvesAndOthersWhileItRuns) {
    Signal<> signal;
    std::vector<char> calls;
    std::optional<Connection> second;
    Connection first = signal.Connect([&] {
        calls.push_back('a');
        second.reset();  // removes the next slot before it runs
    });
    second = signal.Connect([&] { calls.push_back('b'); });
    Connection self;
    self = signal.Connect([&] {
        calls.push_back('c');
        self.Disconnect();
    });
    signal.Emit();
    signal.Emit();
    EXPECT_EQ(calls, (std::vector<char>{'a', 'c', 'a'}));
}

TEST(Signal, AConnectionMayOutliveItsSignal) {
    Connection connection;
    {
        Signal<int> signal;
        connection = signal.Connect([](int) {});
    }
    connection.Disconnect();  // nothing left to disconnect from, and no crash
    SUCCEED();
}

}  // namespace
}  // namespace qxed
