// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "FakeSerial.h"
#include "core/panel/PanelKeys.h"

using namespace km905;
using namespace km905::test;

namespace {
struct Keys : FakeLink {
    Keys() : keys(session.keys()) {}
    std::vector<QByteArray> keyBytes() const {
        std::vector<QByteArray> out;
        for (const QByteArray& b : comm.sent)
            if (b.size() == 3) out.push_back(b);
        return out;
    }
    PanelKeys& keys;
};
constexpr int kHold = 1044, kPowerOff = 1045, kRel = 1047, kLoad = 1048;
}  // namespace

TEST(PanelKeys, AnImmediateKeyClosesSendsAndRestartsTheStream) {
    Keys t;
    t.keys.click(kHold);
    EXPECT_EQ(t.comm.ops, QStringList({"PortOpen=0"}));
    t.clock.advance(49);
    EXPECT_TRUE(t.keyBytes().empty());
    t.clock.advance(1);
    ASSERT_EQ(t.keyBytes().size(), 1u);
    EXPECT_EQ(t.keyBytes()[0], bytes({0x87, 0x83, 0xEF}));
    EXPECT_EQ(t.comm.sent.size(), 1u);
    t.clock.advance(300);
    ASSERT_EQ(t.comm.sent.size(), 2u);
    EXPECT_EQ(t.comm.sent[1], bytes({0x11}));  // reopen and poll
}

TEST(PanelKeys, AQuickDoubleClickSendsOnlyTheSecondFunction) {
    Keys t;
    t.keys.click(kLoad);
    t.clock.advance(50);
    t.keys.doubleClick(kLoad);
    t.clock.advance(1000);
    EXPECT_EQ(t.keyBytes(), std::vector<QByteArray>{bytes({0x87, 0x83, 0xDB})});
}

TEST(PanelKeys, ASlowDoubleClickSendsBothCodes) {
    Keys t;
    t.keys.click(kLoad);
    t.clock.advance(200);
    t.keys.doubleClick(kLoad);
    t.clock.advance(1000);
    EXPECT_EQ(t.keyBytes(),
              (std::vector<QByteArray>{bytes({0x87, 0x83, 0xFD}), bytes({0x87, 0x83, 0xDB})}));
}

TEST(PanelKeys, TwoQuickDelayedKeysSendOnlyTheSecondAndPowerOffSendsNothing) {
    Keys t;
    t.keys.click(kLoad);
    t.clock.advance(40);
    t.keys.click(kRel);
    t.clock.advance(1000);
    EXPECT_EQ(t.keyBytes(), std::vector<QByteArray>{bytes({0x87, 0x83, 0xDF})});
    t.comm.sent.clear();
    t.keys.click(kPowerOff);
    t.clock.advance(1000);
    EXPECT_TRUE(t.comm.sent.empty());
}

TEST(PanelKeys, APortThatWillNotOpenDropsTheKeyPress) {
    Keys t;
    t.keys.click(kHold);
    t.comm.failOpen = SerialError(SerialErrorKind::InvalidPort, "Invalid port number");
    t.clock.advance(1000);
    EXPECT_TRUE(t.comm.sent.empty());  // no key, and no reopen-and-poll either
}

// The keyboard's second press of a key within the double-click time is its double-click; a
// third starts a new pair, as a third click of the mouse does.
TEST(PanelKeys, KeyboardPressesPairLikeMouseClicks) {
    Keys t;
    t.keys.keyboardPress(kLoad, 400);
    t.clock.advance(50);
    t.keys.keyboardPress(kLoad, 400);
    t.clock.advance(1000);
    EXPECT_EQ(t.keyBytes(), std::vector<QByteArray>{bytes({0x87, 0x83, 0xDB})});
    t.keys.keyboardPress(kLoad, 400);  // 1000 ms after the pair: a new first press
    t.clock.advance(1000);
    t.keys.keyboardPress(kRel, 400);
    t.clock.advance(50);
    t.keys.keyboardPress(kLoad, 400);  // another key between: no pair
    t.clock.advance(1000);
    EXPECT_EQ(t.keyBytes(),
              (std::vector<QByteArray>{bytes({0x87, 0x83, 0xDB}), bytes({0x87, 0x83, 0xFD}),
                                       bytes({0x87, 0x83, 0xFD})}));
}
