object M: TTestModule end
  o Module4:K TTestriend
end
