// telvane-ops: runs image commands of the window program without a screen.
int main()
{
    return 0;
}
