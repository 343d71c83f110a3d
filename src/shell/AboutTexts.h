#pragma once
// The About window's texts: the program's authors. Lines within one label are separated by
// "\n", which the labels' text drawing breaks on.
#include <string_view>

struct TAboutTexts {
    std::string_view Heading;     // one line
    std::string_view Institution; // university, department, the line introducing the teachers
    std::string_view Teachers;    // two lines: full name and degree
    std::string_view Programme;   // two lines: programme code and name; year and mode of study
    std::string_view Student;     // one line
    std::string_view ExitButton;
};

const TAboutTexts& AboutTexts();
