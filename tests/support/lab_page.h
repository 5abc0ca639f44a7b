#pragma once
// An example lab page is the console session it teaches.  The boxes (<pre>)
// of a page show the console's lines: a line that starts with the prompt the
// console waits at is typed there, the lines under it are what the console
// prints right after it, in one unbroken run, and a line "..." stands for
// lines a box leaves out.  A box that starts with another device's prompt
// moves the console there with the network diagram, which the words before
// the box say.  What a learner does without typing is noted in the line
// where it happens, in a comment the browser does not show, and named in
// the words next to the box:
//
//   R1(config-line)#<!--keys: Ctrl+Z-->   keys pressed instead of typing
//   Edge#reload<!--answer: No-->           the answer to the question box
//
// Keys are "Return", "Ctrl+Z", "?", "Up", "Down" and "quoted text", each
// key of which is typed (a password).  A listing that stops at "--MORE--"
// goes on with the space bar, which the words next to the box name.  Empty
// lines and blanks at the end of a line are layout: neither side's count.

#include <string>
#include <vector>

namespace vexlab::test {

struct PageLine {
    std::string text;    // as the browser shows it
    std::string keys;    // from <!--keys: ...-->
    std::string answer;  // from <!--answer: ...-->
};

struct PageBox {
    std::vector<PageLine> lines;  // without empty lines
    std::string words_before;     // the page's text since the previous box
    std::string words_after;      // its text up to the next box
};

std::vector<PageBox> page_boxes(const std::string& html);

// Replays the page in a network-mode console on the lab's network, loaded as
// Load the Lab loads it.  Every way the page and the console part, each
// naming the page and its box: none when the page is the session.  A
// listing that differs is told with both texts and the replay goes on; a
// line the console cannot take where the page types it ends the replay.
std::vector<std::string> replay_lab_page(const std::string& html, const std::string& lab,
                                         const std::string& page_name);

}  // namespace vexlab::test
