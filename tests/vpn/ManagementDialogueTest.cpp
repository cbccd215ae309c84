#include "vpn/ManagementDialogue.h"

#include <gtest/gtest.h>

namespace {

// A dialogue whose effects are recorded.
class ManagementDialogueTest : public testing::Test
{
protected:
    ManagementDialogueTest()
        : m_dialogue({[this](const std::string& bytes) { sent.push_back(bytes); },
                      [this](int state) { states.push_back(state); }, [](int) {}})
    {
        m_dialogue.Begin("Pw1!Pw2!Pw3!Pw4", "vpn.example 1194", "ann", "se cret");
    }

    void Feed(const std::string& bytes) { m_dialogue.Receive(bytes.data(), bytes.size()); }

    ManagementDialogue m_dialogue;
    std::vector<std::string> sent;
    std::vector<int> states;
};

TEST_F(ManagementDialogueTest, AHealthyEngineIsLedToConnected)
{
    Feed("ENTER PASSWORD:");
    EXPECT_EQ(sent, (std::vector<std::string>{"Pw1!Pw2!Pw3!Pw4\n"}));
    EXPECT_FALSE(m_dialogue.PasswordPending());
    Feed("SUCCESS: password is correct\r\n>INFO:OpenVPN Management Interface\r\n>HOLD:Waiting for hold release:0\r\n");
    EXPECT_EQ(sent.back(), "state on\n");
    Feed("SUCCESS: real-time state notification set to ON\r\n");
    EXPECT_EQ(sent.back(), "hold off\n");
    Feed("SUCCESS: hold flag set to OFF\r\n");
    EXPECT_EQ(sent.back(), "hold release\n");
    Feed("SUCCESS: hold release succeeded\r\n>REMOTE:vpn.example,1194,udp\r\n");
    EXPECT_EQ(sent.back(), "remote MOD vpn.example 1194\n");
    Feed("SUCCESS: remote command succeeded\r\n>PASSWORD:Need 'Auth' username/password\r\n");
    EXPECT_EQ(sent.back(), "username \"Auth\" ann\n");
    Feed("SUCCESS: 'Auth' username entered, but not yet verified\r\n");
    EXPECT_EQ(sent.back(), "password \"Auth\" se cret\n");
    Feed(">STATE:1700000000,WAIT,,,,,,\r\n>STATE:1700000001,CONNECTED,SUCCESS,10.8.0.2,198.51.100.1,1194,,\r\n");
    EXPECT_EQ(states, (std::vector<int>{2, 1}));
    EXPECT_EQ(sent.size(), 7u);
}

struct StateCase
{
    const char* line;
    int state; // after starting from 2
    bool notified;
};

void PrintTo(const StateCase& c, std::ostream* os)
{
    *os << c.line;
}

class StateLineTest : public ManagementDialogueTest, public testing::WithParamInterface<StateCase>
{
};

TEST_P(StateLineTest, FollowsTheStateTable)
{
    m_dialogue.SetState(2);
    m_dialogue.OnStateLine(GetParam().line);
    EXPECT_EQ(m_dialogue.state(), GetParam().state);
    EXPECT_EQ(!states.empty(), GetParam().notified);
}

INSTANTIATE_TEST_SUITE_P(Cases, StateLineTest,
                         testing::Values(StateCase{"1,CONNECTED,SUCCESS,10.8.0.2,1.2.3.4", 1, true},
                                         StateCase{"1,CONNECTED,ERROR,10.8.0.2,1.2.3.4", 2, true},
                                         StateCase{"1,WAIT,,", 2, true}, StateCase{"1,AUTH,,", 2, true},
                                         StateCase{"1,RECONNECTING,ping-restart,,", 3, true},
                                         StateCase{"1,TCP_CONNECT,,", 2, true},
                                         StateCase{"1,EXITING", 2, false}, StateCase{"1,connected,SUCCESS,", 2, true}));

TEST_F(ManagementDialogueTest, ALineSplitAcrossReadsWaitsForItsLineFeed)
{
    Feed("x:");
    Feed(">STATE:1,RECONNECT");
    EXPECT_TRUE(states.empty());
    Feed("ING,x,,\r\n");
    EXPECT_EQ(states, (std::vector<int>{3}));
}

TEST_F(ManagementDialogueTest, ThePasswordIsAnsweredOncePerStartEvenWithTheColonMidText)
{
    Feed("some text: more text");
    Feed(">LOG:a:b:c\r\n>HOLD:x\r\n");
    EXPECT_EQ(sent, (std::vector<std::string>{"Pw1!Pw2!Pw3!Pw4\n", "state on\n"}));
}

TEST_F(ManagementDialogueTest, CommandsWaitForTheReplyToTheOneInFlight)
{
    Feed(":>HOLD:x\r\n");
    EXPECT_EQ(sent.size(), 2u);
    Feed(">LOG:noise\r\n>INFO:x\r\n");
    EXPECT_EQ(sent.size(), 2u); // no reply line yet
    Feed("ERROR: an error counts as a reply\r\n");
    EXPECT_EQ(sent.back(), "hold off\n");
    Feed("END\r\n");
    EXPECT_EQ(sent.back(), "hold release\n");
}

TEST_F(ManagementDialogueTest, AFullBufferWithoutLineEndIsDiscarded)
{
    Feed(":");
    Feed(std::string(ManagementDialogue::kBufferSize, 'x'));
    Feed(">STATE:1,WAIT,,\r\n");
    EXPECT_EQ(states, (std::vector<int>{2}));
}

} // namespace
