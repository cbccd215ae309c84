// TopRaiser TITLE...: brings the remote desktop client window with this title to the front. The title
// is the arguments joined by single blanks, taken as they are (quotes included). Always exits with 0.
#include "platform/WindowRaiser.h"

#include <string>

int main(int argc, char** argv)
{
    std::string title;
    for (int i = 1; i < argc; ++i) {
        if (i > 1)
            title += ' ';
        title += argv[i];
    }
    platform::RaiseWindow("Orvanta RDP", title);
    return 0;
}
