/* start
   middle
   end */
int code;
