#include "cli/orrincalc.h"
#include "platform/standardstreams.h"

int main(int argc, char** argv)
{
    useBinaryStandardStreams();
    return runOrrinCalc(argc, argv, stdin, stdout, stderr);
}
