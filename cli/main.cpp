#include "cli/orrincalc.h"

int main(int argc, char** argv)
{
    return runOrrinCalc(argc, argv, stdin, stdout, stderr);
}
