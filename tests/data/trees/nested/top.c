int top;
