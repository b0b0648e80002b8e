#pragma once

namespace qz {

struct Request;

// A later start's whole life: hands the request to the running copy, starting one for a
// task to arm, prints the answer and returns the exit status (see command_line.h).
int handOver(int argc, char* argv[], const Request& request);

} // namespace qz
