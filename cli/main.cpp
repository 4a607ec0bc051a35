#include "cli/orrincalc.h"
#include "cli/standardstreams.h"

int main(int argc, char** argv)
{
    useBinaryStandardStreams();
    return runOrrinCalc(argc, argv, stdin, stdout, stderr);
}
