#pragma once

// Makes standard input and output carry bytes as they are: no line-end
// translation, and no byte that ends the input early.
void useBinaryStandardStreams();
