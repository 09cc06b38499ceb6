// QLRMail: sends the end-of-job message files Quillrun leaves in EmailPath.

#include <iostream>

#include "QLRMail/mailer.h"

int main(int argc, char** argv) { return qlr::RunQlrMail(argc, argv, std::cout, std::cerr); }
